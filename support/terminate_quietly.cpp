// libstdc++'s default terminate handler names the uncaught exception's type, and for that it
// pulls its whole demangler into each program: about 60 KiB. This one ends the program as
// std::terminate must, without those words, which a windowed program or an installer's
// action could not show anyway. Linked as an object into each deliverable, so that the
// library's own is never taken.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler();

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
