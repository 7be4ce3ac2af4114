# The game's cues through SDL's disk driver; real time, so kept apart.
snapstorm_add_test(game_sound_tests SOURCES GameFixture.h SoundCueTest.cpp LIBS game snapstorm-sdl SDL2::SDL2)
if(TARGET design_assets)
    add_dependencies(game_sound_tests design_assets)
endif()
