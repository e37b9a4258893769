// secondaryMain fails; main returns at once.
public class SecondaryThrows {
    public static void main(String[] args) throws InterruptedException {
        Thread.sleep(2000);
    }

    public static void secondaryMain(String[] args) {
        throw new UnsupportedOperationException("no second start");
    }
}
