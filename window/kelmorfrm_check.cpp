// TKelmorFrm: the question check. Its window lists what is wrong with the questions
// and follows every change of the document.
#include "kelmorfrm.h"

void TKelmorFrm::Fragenprfen1Click(QObject *)
{
}
