# The score pieces: high-score table, name dialog, score digits, scroll text.
set(GAME_SCORE_SOURCES
    HighScoreTable.cpp HighScoreTable.h
    ScoreDialog.cpp ScoreDialog.h
    ScoreDisplay.cpp ScoreDisplay.h
    ScrollText.cpp ScrollText.h
)
