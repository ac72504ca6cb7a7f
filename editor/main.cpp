#include "application_editeur.h"

int main(int argc, char** argv) { return editeur::lancerBramelt(argc, argv); }
