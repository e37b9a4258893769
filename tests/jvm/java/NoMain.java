// A class that a start may name by mistake: no main method at all.
public class NoMain {
    public static void helper() {}
}
