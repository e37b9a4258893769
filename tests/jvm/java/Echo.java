// Prints each argument as its UTF-16 code units, so the test sees exactly what arrived.
public class Echo {
    public static void main(String[] args) {
        System.out.println("args " + args.length);
        for (String arg : args) {
            StringBuilder units = new StringBuilder("arg");
            for (int i = 0; i < arg.length(); i++) {
                units.append(String.format(" %04x", (int) arg.charAt(i)));
            }
            System.out.println(units);
        }
    }
}
