// The crew app's "zul.ini" as any text. On Windows the system reads the file;
// here the fakes' reader of the same rules does, and the server's options
// must come out 0 or 1 whatever the file says.
#include "host/Configuration.h"
#include "host/Log.h"

#include "fakes/FakeFiles.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarvo::fakes::Journal journal;
    tarvo::fakes::FakeFiles files(journal);
    files.WriteFile(tarvo::host::CrewFolderPath(*files.appDataFolder, "zul.ini"),
                    std::string(reinterpret_cast<const char*>(data), size));
    const std::int32_t scrollLock = tarvo::host::ReadCatchScrollLockOption(files);
    const std::int32_t callouts = tarvo::host::ReadFmaCalloutsOption(files);
    if ((scrollLock != 0 && scrollLock != 1) || (callouts != 0 && callouts != 1)) std::abort();
    return 0;
}
