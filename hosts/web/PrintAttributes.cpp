// Prints the element's attributes as the ES module attributes.js, which the
// build writes into the element's package: the element reads its attribute
// names and defaults from it, and so the WebAssembly a page loads carries no
// copy of the control's published-property list.
#include <iostream>

#include "ElementAttributes.h"

int main() { std::cout << quintar::web::AttributesModule(); }
