# Collection panels, compiled into pinvane_win.
set(PV_COLLECTIONS_SOURCES
  ExportStackDlg.cpp
  FileDialogs.cpp
  InportStackDlg.cpp
  NoteStackDlg.cpp
  PendingDlg.cpp
  SerchDlg.cpp
  TrashDlg.cpp
  PoreSetSettingDlg.cpp
  PreSetMatchConditionDlg.cpp
)
