// UnRAR's os.hpp includes <PowrProf.h>; MinGW-w64 ships it in lower case.
#include <powrprof.h>
