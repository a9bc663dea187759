// The library-wide state (see CorvaneLibrary.h).
#include "CorvaneLibrary.h"

CorvaneLibrary& Library()
{
    static CorvaneLibrary library;
    return library;
}

AdapterTable& Adapters()
{
    CorvaneLibrary& lib = Library();
    if (!lib.adaptersRead) {
        ReadAdapterTable(lib.adapters);
        lib.adaptersRead = true;
    }
    return lib.adapters;
}
