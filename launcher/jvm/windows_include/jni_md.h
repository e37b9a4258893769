// Machine-dependent JNI types for Windows, as the runtime's jvm.dll was built with them:
// stdcall entry points on 32-bit x86, and 32-bit long.
#ifndef TS_JNI_MD_H
#define TS_JNI_MD_H

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
