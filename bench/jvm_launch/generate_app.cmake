# Writes the sources of a desktop-sized application: COUNT classes in package "app", each with
# fields, a loop and a helper, and app/Main.java, which uses every one of them and also touches
# logging and XML as such applications do. sources.txt lists the files for javac.
# cmake -DFOLDER=DIR -DCOUNT=N -P generate_app.cmake
file(REMOVE_RECURSE ${FOLDER})
math(EXPR last "${COUNT} - 1")
set(list "")
set(calls "")
foreach(i RANGE ${last})
  math(EXPR next "(${i} + 1) % ${COUNT}")
  file(WRITE ${FOLDER}/app/C${i}.java
"package app;

public class C${i} implements java.util.function.IntSupplier {
    private final int[] values = {${i}, ${next}, ${i} * 3};
    private final String name = \"C${i}\";

    public int getAsInt() {
        int sum = 0;
        for (int value : values) {
            sum += helper(value);
        }
        return sum + name.length();
    }

    private static int helper(int x) {
        return x % 7 == 0 ? x / 7 : x * 3 + 1;
    }

    @Override
    public String toString() {
        return name + \"=\" + getAsInt() + \" next C${next}\";
    }
}
")
  string(APPEND list "${FOLDER}/app/C${i}.java\n")
  string(APPEND calls "        sum += new C${i}().getAsInt();\n")
endforeach()
file(WRITE ${FOLDER}/app/Main.java
"package app;

public class Main {
    public static void main(String[] args) throws Exception {
        java.util.logging.Logger.getLogger(\"app\").fine(\"start\");
        javax.xml.parsers.DocumentBuilderFactory.newInstance().newDocumentBuilder();
        long sum = 0;
${calls}        if (sum == 42) {
            System.out.println(sum);
        }
    }
}
")
string(APPEND list "${FOLDER}/app/Main.java\n")
file(WRITE ${FOLDER}/sources.txt "${list}")
