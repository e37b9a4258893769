// An application whose classes a class-data archive can hold: its own, logging and XML.
public class ArchiveApp {
    static class Part {
        String name() { return "part"; }
    }

    public static void main(String[] args) throws Exception {
        java.util.logging.Logger.getLogger("archive").fine("start");
        javax.xml.parsers.DocumentBuilderFactory.newInstance().newDocumentBuilder();
        System.out.println("archive app ran with " + new Part().name());
    }
}
