import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;

// A stop method that fails after it has done its work.
public class StopThrows {
    static final CountDownLatch stopped = new CountDownLatch(1);

    public static void main(String[] args) throws InterruptedException {
        System.out.println(stopped.await(20, TimeUnit.SECONDS) ? "stopped" : "never stopped");
    }

    public static void stop() {
        stopped.countDown();
        throw new IllegalStateException("stop failed");
    }
}
