# Note window sources, compiled into pinvane_win.
set(PV_NOTEWIN_SOURCES
  ArrowWin.cpp
  EditTacklet.cpp
  NoteBackground.cpp
  NoteMouseWatch.cpp
  PointWin.cpp
  TackletAppearance.cpp
  TackletFollow.cpp
  TackletLayout.cpp
  TackletLeader.cpp
  TackletMenu.cpp
  TackletMouse.cpp
  TackletWin.cpp
  TackletWinState.cpp
  TextByteLimit.cpp
  WindowSystem.cpp
)
