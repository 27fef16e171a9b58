#include "data/ProcessPaths.h"

ProcessPaths& Paths()
{
    static ProcessPaths paths;
    return paths;
}
