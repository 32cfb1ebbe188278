# Window selection sources, compiled into pinvane_win.
set(PV_WINSEL_SOURCES
  ImageListCashSmoll.cpp
  StcImage.cpp
  ThumbnailLayer.cpp
  WindowCapture.cpp
  WindowSelDlg.cpp
  ChildPicker.cpp
  ChildSelDlg.cpp
  MatchConditionDlg.cpp
  WinExSelDlg.cpp
)
