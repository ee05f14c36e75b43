set(CORE_SOURCES AssetCatalogue.h AssetCatalogue.cpp AssetFormats.h AssetFormats.cpp
    RosURLError.h RosURLError.cpp GoToWeb.h SRWavePlayer.h HelpGuide.h HelpGuide.cpp)
set(GUI_SOURCES TileImage.h TileImage.cpp AnimatedImage.h AnimatedImage.cpp PictureBox.h PictureBox.cpp
    Cursors.h Cursors.cpp ExplorerButton.h ExplorerButton.cpp LogoF.h LogoF.cpp
    BevelPanel.h BevelPanel.cpp KxCollapsePanel.h KxCollapsePanel.cpp RosHotLabel.h RosHotLabel.cpp
    RichView.h RichView.cpp Zendra12F4.h Zendra12F4.cpp ConsultationEdit.h ConsultationEdit.cpp
    Guidance.h Guidance.cpp FontColorDialog.h FontColorDialog.cpp)
