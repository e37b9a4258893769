// A thread of the application dies from an exception; with "own" the application has set its
// own default handler first.
public class ThreadThrower {
    public static void main(String[] args) throws Exception {
        if (args.length > 0 && args[0].equals("own")) {
            Thread.setDefaultUncaughtExceptionHandler(
                    (thread, thrown) -> System.out.println("own handler " + thrown.getMessage()));
        }
        Thread worker = new Thread(() -> {
            throw new IllegalStateException("thread failure");
        }, "worker");
        worker.start();
        worker.join();
        System.out.println("main goes on");
    }
}
