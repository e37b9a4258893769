// Writes one line to each standard stream; with "exit" it ends through System.exit(3).
public class Chatter {
    public static void main(String[] args) {
        System.out.print("out-line\n");
        System.err.print("err-line\n");
        if (args.length > 0 && args[0].equals("exit")) {
            System.exit(3);
        }
    }
}
