#pragma once

#include <QString>

namespace quirlo::VoceDisegni {

// Says a drawing's word: the teacher's recording, the program's, else the
// computer's voice, through the platform's one player. Returns at once; the
// answer is traced as "voce <parola> <fonte>" when it comes, and played
// unless another word has been asked for in the meantime. One for the whole
// run, made at the first request: a word the computer has said once is
// said again from memory.
void di(const QString &parola);

}  // namespace quirlo::VoceDisegni
