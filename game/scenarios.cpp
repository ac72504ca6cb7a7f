// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenarios.h"

#include "traduction.h"

namespace {

const NiveauScenario kScenarios[kNombreScenarios] = {
    {aTraduire("1.Camp d'entrainement"), 1400, "normal"}, {aTraduire("2.Promenade"), 2450, "normal"},
    {aTraduire("3.Flux"), 2100, "normal"},                {aTraduire("4.Citadelle"), 2300, "normal"},
    {aTraduire("5.Alpha City"), 3600, "normal"},          {aTraduire("6.Crossfire"), 3000, "normal"},
    {aTraduire("7.Speed's Bridge"), 2900, "normal"},      {aTraduire("8.Dedale"), 2900, "normal"},
    {aTraduire("9.Theta City"), 3500, "normal"},          {aTraduire("10.Pyramid"), 4000, "normal"},
    {aTraduire("11.Delta City"), 6000, "normal"},         {aTraduire("12.Mountain"), 5600, "montagne"},
    {aTraduire("13.Peak"), 5600, "montagne"},             {aTraduire("14.Cage"), 4000, "normal"},
};

}  // namespace

const NiveauScenario* niveauScenario(unsigned int numero) {
    return numero >= 1 && numero <= kNombreScenarios ? &kScenarios[numero - 1] : nullptr;
}
