# Note window sources, compiled into pinvane_win.
set(PV_NOTEWIN_SOURCES
  ArrowWin.cpp
  EditTacklet.cpp
  NoteBackground.cpp
  NoteColors.cpp
  NoteMouseWatch.cpp
  PointWin.cpp
  TackletAppearance.cpp
  TackletLeader.cpp
  TackletMenu.cpp
  TackletWin.cpp
  TackletWinState.cpp
  TextByteLimit.cpp
)
