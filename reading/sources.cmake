set(CORE_SOURCES MarkerLine.h MarkerLine.cpp Corpus.h Corpus.cpp ReadingGenerator.h ReadingGenerator.cpp)
