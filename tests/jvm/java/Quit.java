// Ends the process with the code given as the first argument.
public class Quit {
    public static void main(String[] args) {
        System.exit(Integer.parseInt(args[0]));
    }
}
