// main returns at once; a thread of its own ends the process a little later.
public class LateExit {
    public static void main(String[] args) {
        new Thread(() -> {
            try {
                Thread.sleep(300);
            } catch (InterruptedException e) {
                return;
            }
            System.exit(5);
        }).start();
    }
}
