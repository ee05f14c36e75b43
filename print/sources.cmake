set(CORE_SOURCES PrintLayout.h PrintLayout.cpp)
set(GUI_SOURCES NTiskF8.h NTiskF8.cpp)
