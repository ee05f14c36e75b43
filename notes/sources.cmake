set(CORE_SOURCES
    CorruptFile.h
    Lzh.h Lzh.cpp
    LzhFormat.h LzhIo.h LzhBitReader.h
    LzhHuffman.h LzhHuffman.cpp
    LzhMatchFinder.h LzhMatchFinder.cpp
    LzhFastMatchFinder.h LzhFastMatchFinder.cpp
    LzhEncoder.h LzhEncoder.cpp
    LzhDecoder.h LzhDecoder.cpp)
# The stream container of the notes file.
list(APPEND CORE_SOURCES HKStreamCol.h HKStreamCol.cpp)
set(GUI_SOURCES Pozn_F11.h Pozn_F11.cpp)
