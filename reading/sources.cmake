set(CORE_SOURCES MarkerLine.h MarkerLine.cpp)
