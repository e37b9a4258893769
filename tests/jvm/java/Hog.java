import java.util.ArrayList;
import java.util.List;

// Fills the heap until the JVM gives up.
public class Hog {
    public static void main(String[] args) {
        List<long[]> kept = new ArrayList<>();
        while (true) {
            kept.add(new long[1 << 16]);
        }
    }
}
