/* A library that sits beside the test program, as a file planted in a
   download folder would sit beside Pinvane.exe. */
__declspec(dllexport) int PvPlanted(void) { return 42; }
