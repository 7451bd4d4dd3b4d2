// ZUNTA_Run: started by a zurun: link it fetches the study package and starts the test
// client; started without one it registers the scheme.
#include "launcher/app/launcher_main.h"
#include "zunta/trace.h"

int main(int argc, char** argv) {
    zunta::TraceEvent("launcher_start");
    return zunta::launcher::RunLauncher(argc, argv);
}
