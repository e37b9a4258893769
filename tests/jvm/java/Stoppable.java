import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;

// A service-style application: main runs until stop is called.
public class Stoppable {
    static final CountDownLatch stopped = new CountDownLatch(1);

    public static void main(String[] args) throws InterruptedException {
        System.out.println(stopped.await(20, TimeUnit.SECONDS) ? "stopped" : "never stopped");
    }

    public static void stop() {
        stopped.countDown();
    }
}
