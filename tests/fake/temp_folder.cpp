#include "tests/fake/temp_folder.h"

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace vorn::fake {

long TempFolder::Process()
{
#if defined(_WIN32)
    return static_cast<long>(_getpid());
#else
    return static_cast<long>(getpid());
#endif
}

}  // namespace vorn::fake
