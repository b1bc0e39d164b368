# Turns apt sources in deb822 form (/etc/apt/sources.list.d/*.sources)
# into one-line entries, "deb URI SUITE COMPONENTS", one for each URI and
# suite of each enabled binary entry. Entries are paragraphs; fields of
# more than one line (Signed-By with a key inside) are not read.
BEGIN { RS = "" }
{
  types = uris = suites = comps = ""
  on = 1
  n = split($0, line, "\n")
  for (i = 1; i <= n; i++) {
    key = line[i]
    sub(/:.*/, "", key)
    value = line[i]
    sub(/^[^:]*:[ \t]*/, "", value)
    if (key == "Types") types = value
    else if (key == "URIs") uris = value
    else if (key == "Suites") suites = value
    else if (key == "Components") comps = value
    else if (key == "Enabled" && value == "no") on = 0
  }
  if (!on || (" " types " ") !~ / deb /) next
  nu = split(uris, u, " ")
  ns = split(suites, s, " ")
  for (i = 1; i <= nu; i++)
    for (j = 1; j <= ns; j++) print "deb", u[i], s[j], comps
}
