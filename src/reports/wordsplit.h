#pragma once

#include <QString>

// Cuts word Num (1-based) out of Frase. divis holds the opening and the closing mark, one
// character each; equal marks separate words, different marks bracket them and may nest. A
// blank as the opening mark also lets the first word start at the very beginning. The word
// comes back without blanks around it; a missing word is an empty text. With a non-empty
// contain, the Num-th of the words that contain it (case-sensitive) is wanted instead.
QString GetWord(const QString& Frase, qint16 Num, const QString& divis,
                const QString& contain = {});
