// Newer runtimes accept an instance main; a launcher that calls the static main must cope.
public class InstanceMain {
    void main() {
        System.out.println("instance main ran");
    }
}
