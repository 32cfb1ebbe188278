// Installs the platform's volume serial lookup for the tool (Windows only;
// elsewhere keys are 0 unless given by hand).
#pragma once

void InstallVolumeSerialProvider();
