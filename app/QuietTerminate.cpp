// The terminate handler of the shipped programs. The runtime's default one
// writes the uncaught exception's demangled type to the console, which these
// windowed programs do not have, and brings the whole C++ demangler into the
// executable; this one only ends the program, as the default does after
// writing. Linked as an object of its own, it takes the place of the
// runtime's definition.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

}  // namespace __gnu_cxx
