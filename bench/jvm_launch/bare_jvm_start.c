/* The least a start can do through the invocation API: create the JVM, find the class, call
 * main with no arguments, destroy the JVM. The floor that jvm_launch_bench measures against.
 *
 * bare_jvm_start LIBJVM CLASS_DIR CLASS */
#include <dlfcn.h>
#include <jni.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef jint(JNICALL* CreateJavaVmFn)(JavaVM**, void**, void*);

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: bare_jvm_start LIBJVM CLASS_DIR CLASS\n");
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW);
    CreateJavaVmFn create = library ? (CreateJavaVmFn)dlsym(library, "JNI_CreateJavaVM") : NULL;
    if (create == NULL) {
        return 2;
    }
    const char prefix[] = "-Djava.class.path=";
    char* classPath = malloc(sizeof prefix + strlen(argv[2]));
    if (classPath == NULL) {
        return 2;
    }
    strcpy(classPath, prefix);
    strcat(classPath, argv[2]);
    JavaVMOption option = {classPath, NULL};
    JavaVMInitArgs args = {JNI_VERSION_1_2, 1, &option, JNI_FALSE};
    JavaVM* vm = NULL;
    JNIEnv* env = NULL;
    int status = 1;
    if (create(&vm, (void**)&env, &args) == JNI_OK) {
        jclass mainClass = (*env)->FindClass(env, argv[3]);
        jmethodID main =
            mainClass ? (*env)->GetStaticMethodID(env, mainClass, "main", "([Ljava/lang/String;)V")
                      : NULL;
        jclass stringClass = (*env)->FindClass(env, "java/lang/String");
        jobjectArray noArguments =
            main && stringClass ? (*env)->NewObjectArray(env, 0, stringClass, NULL) : NULL;
        if (noArguments != NULL) {
            (*env)->CallStaticVoidMethod(env, mainClass, main, noArguments);
            status = (*env)->ExceptionCheck(env) ? 1 : 0;
        }
        (*vm)->DestroyJavaVM(vm);
    }
    free(classPath);
    return status;
}
