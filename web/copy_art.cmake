# Copies into the site the pictures the page draws (the console's, the splash and about
# panels' photos), leaving out what only the desktop program shows: the window's outline, the
# resource list.
file(GLOB pictures ${FROM}/Im_*.bmp ${FROM}/Im_*.jpg ${FROM}/Puls_*.jpg ${FROM}/icon.svg)
list(FILTER pictures EXCLUDE REGEX "_outline\\.bmp$")
file(MAKE_DIRECTORY ${TO})
file(COPY ${pictures} DESTINATION ${TO})
