import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;

// main waits until a later start has been handed over.
public class SecondaryVoid {
    static final CountDownLatch handedOver = new CountDownLatch(1);

    public static void main(String[] args) throws InterruptedException {
        System.out.println("main waits");
        System.out.println(handedOver.await(20, TimeUnit.SECONDS) ? "main done" : "main timed out");
    }

    public static void secondaryMain(String[] args) {
        System.out.println("secondary " + String.join("|", args));
        handedOver.countDown();
    }
}
