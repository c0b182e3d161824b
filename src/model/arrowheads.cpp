#include "model/arrowheads.h"

// Heads, markers and curls are drawn by nothing yet; the line itself is complete without them.
void TArrowHeads::DrawEndHead(TCanvas&, int, int, double, double, double, double, double, double,
                              double, double)
{
}

void TArrowHeads::DrawStartHead(TCanvas&, int, int, double, double, double, double, double,
                                double, double, double)
{
}

void TArrowHeads::DrawMidMarker(TCanvas&, int, int, double, double, double, double, double,
                                double, double, double)
{
}

void TArrowHeads::DrawCloudDecoration(TCanvas&, double, double, double, double, double, double,
                                      double, double)
{
}
