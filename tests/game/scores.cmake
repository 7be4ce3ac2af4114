# Tests of the score pieces; the dialog tests drive real key events.
find_package(Qt6 REQUIRED COMPONENTS Test)
set(GAME_SCORE_TEST_SOURCES
    HighScoreTableTest.cpp
    ScoreDialogTest.cpp
    ScoreDisplayTest.cpp
    ScrollTextTest.cpp
)
list(APPEND GAME_SCORE_TEST_LIBS Qt6::Test)
