#pragma once
// What the stand-in does for a service's main and stop. Steered like the rest of the double:
//   TS_JVM_DOUBLE_SERVICE_MAIN         "until-stop": main runs until stop has been called as
//                                      often as TS_JVM_DOUBLE_SERVICE_STOPS says (default 1),
//                                      at most a minute, then returns
//   TS_JVM_DOUBLE_SERVICE_STOP         "return" (default) or "exit:N" (System.exit(N) in stop)
//   TS_JVM_DOUBLE_SERVICE_CREATE_DELAY milliseconds JNI_CreateJavaVM takes
//   TS_JVM_DOUBLE_SERVICE_DESTROY_DELAY milliseconds DestroyJavaVM takes before the JVM is
//                                      gone (a real one waits for the application's threads)
// Each step is recorded with the thread it runs on: "service main thread=T",
// "service main returns", "service stop call=K thread=T".

#include "double_state.h"

namespace jvm_double {

// True when main runs as a service's main; it has then done so.
bool RunServiceMain();
void ServiceStop();
void DelayServiceCreate();
void DelayServiceDestroy();

}  // namespace jvm_double
