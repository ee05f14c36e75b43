set(CORE_SOURCES Platform.h)
