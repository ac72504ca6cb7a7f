// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenarios.h"

namespace {

const NiveauScenario kScenarios[kNombreScenarios] = {
    {"1.Camp d'entrainement", 1400, "normal"}, {"2.Promenade", 2450, "normal"},
    {"3.Flux", 2100, "normal"},                {"4.Citadelle", 2300, "normal"},
    {"5.Alpha City", 3600, "normal"},          {"6.Crossfire", 3000, "normal"},
    {"7.Speed's Bridge", 2900, "normal"},      {"8.Dedale", 2900, "normal"},
    {"9.Theta City", 3500, "normal"},          {"10.Pyramid", 4000, "normal"},
    {"11.Delta City", 6000, "normal"},         {"12.Mountain", 5600, "montagne"},
    {"13.Peak", 5600, "montagne"},             {"14.Cage", 4000, "normal"},
};

}  // namespace

const NiveauScenario* niveauScenario(unsigned int numero) {
    return numero >= 1 && numero <= kNombreScenarios ? &kScenarios[numero - 1] : nullptr;
}
