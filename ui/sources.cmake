set(CORE_SOURCES AssetCatalogue.h AssetCatalogue.cpp AssetFormats.h AssetFormats.cpp)
set(GUI_SOURCES TileImage.h TileImage.cpp AnimatedImage.h AnimatedImage.cpp PictureBox.h PictureBox.cpp
    Cursors.h Cursors.cpp ExplorerButton.h ExplorerButton.cpp SRWavePlayer.h LogoF.h LogoF.cpp)
