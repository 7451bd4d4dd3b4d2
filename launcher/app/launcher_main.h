// The launcher's entry: the order of the start-up steps, registration mode and launch mode.
#pragma once

namespace zunta::launcher {

int RunLauncher(int argc, char** argv);

}  // namespace zunta::launcher
