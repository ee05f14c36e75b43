set(CORE_SOURCES BookContents.h BookContents.cpp WindowPlace.h WindowPlace.cpp TextSearch.h TextSearch.cpp
    FileSearch.h FileSearch.cpp BookSearch.h BookSearch.cpp Journal.h Journal.cpp)
set(GUI_SOURCES BookWindow.h BookWindow.cpp Zendra12F2.h Zendra12F2.cpp Zendra12F3.h Zendra12F3.cpp
    FindKP_F9.h FindKP_F9.cpp FindS_F10.h FindS_F10.cpp WindowPlacer.h WindowPlacer.cpp)
list(APPEND GUI_SOURCES DriveList.h DriveList.cpp FolderTree.h FolderTree.cpp JournalModel.h JournalModel.cpp JournalReader.h JournalReader.cpp
     JournalStats.h JournalStats.cpp JournalWindow.h JournalWindow.cpp)
