set(CORE_SOURCES Hexagram.h Hexagram.cpp CoinToss.h CoinToss.cpp LineDrawing.h LineDrawing.cpp)
