import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;

// The int form: the later start ends with what secondaryMain returns.
public class SecondaryInt {
    static final CountDownLatch handedOver = new CountDownLatch(1);

    public static void main(String[] args) throws InterruptedException {
        System.out.println(handedOver.await(20, TimeUnit.SECONDS) ? "main done" : "main timed out");
    }

    public static int secondaryMain(String[] args) {
        System.out.println("secondary " + String.join("|", args));
        handedOver.countDown();
        return 7;
    }
}
