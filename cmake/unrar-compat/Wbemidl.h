// UnRAR's isnt.cpp includes <Wbemidl.h>; MinGW-w64 ships it in lower case.
#include <wbemidl.h>
