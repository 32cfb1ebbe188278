# Note window sources, compiled into pinvane_win.
set(PV_NOTEWIN_SOURCES
  EditTacklet.cpp
  NoteBackground.cpp
  NoteColors.cpp
  TackletWin.cpp
  TextByteLimit.cpp
)
