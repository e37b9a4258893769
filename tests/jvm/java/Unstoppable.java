// No stop method: only System.exit ends it.
public class Unstoppable {
    public static void main(String[] args) throws InterruptedException {
        Thread.sleep(20000);
        System.out.println("slept through");
    }
}
