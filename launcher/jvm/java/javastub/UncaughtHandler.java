package javastub;

// The JVM's default handler for an exception that ends a thread, while the launcher wants to
// hear of it: Java's own report first, then the launcher's. Compiled for Java 8 and defined by
// the launcher from its bytes.
public final class UncaughtHandler implements Thread.UncaughtExceptionHandler {
    public void uncaughtException(Thread thread, Throwable thrown) {
        System.err.print("Exception in thread \"" + thread.getName() + "\" ");
        thrown.printStackTrace(System.err);
        report(thrown);
    }

    private static native void report(Throwable thrown);
}
