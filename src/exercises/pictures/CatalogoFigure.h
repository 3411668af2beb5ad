#pragma once

#include <QString>

// The picture catalogue of the word problems: for each number n of objects
// per subject (1 to 10), an ordered list of entries, each a picture of the
// jpg folder and three consecutive string ids (subject word, object word,
// problem text). The ids follow from the first id of the group: entry k
// (from 1) has idSoggetto = first + 3 (k - 1), idOggetto and idTesto after it.
namespace CatalogoFigure {

struct Voce {
    QString figura;       // file name in the jpg folder, with ".jpg"
    QString idSoggetto;   // four-digit string ids
    QString idOggetto;
    QString idTesto;
};

constexpr int kPrimoGruppo = 1;
constexpr int kUltimoGruppo = 10;

// The number of entries of group n; 0 outside 1 to 10.
int numeroVoci(int n);

// Entry k (1 to numeroVoci(n)) of group n.
Voce voce(int n, int k);

} // namespace CatalogoFigure
