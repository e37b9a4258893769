// Leaves an exception behind when main returns.
public class Thrower {
    public static void main(String[] args) {
        System.out.println("about to throw");
        inner();
    }

    static void inner() {
        throw new IllegalStateException("kaputt \u00e4\u00f6\u00fc \u20ac \ud83d\ude00");
    }
}
