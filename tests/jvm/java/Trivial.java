// The smallest program: what a start costs.
public class Trivial {
    public static void main(String[] args) {}
}
