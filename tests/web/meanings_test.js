// The page's table of English meanings (web/page/meanings.js) against
// the README's tables of messages: each message the page explains has a
// row in the README that starts with it, with the same English words.
//   meanings_test.js MEANINGS_JS README_MD
"use strict";
const fs = require("fs");
const vm = require("vm");

const [meaningsFile, readmeFile] = process.argv.slice(2);
const meanings = vm.runInNewContext(
    fs.readFileSync(meaningsFile, "utf8") + "; driveMeanings");

// README rows: | `message` ... | English | ... ; the first code span of
// the first cell, without its closing colon, is the message.
const rows = new Map();
for (const line of fs.readFileSync(readmeFile, "utf8").split("\n")) {
  const cells = line.split("|").map((c) => c.trim());
  const message = cells.length > 3 && cells[1].match(/^`([^`]*?):?`/);
  if (message)
    rows.set(message[1], cells[2]);
}

let failures = 0;
for (const [spanish, english] of meanings) {
  const row = [...rows.keys()].find((m) => m === spanish ||
                                           m === spanish + " FILE");
  if (!row) {
    console.error("FAIL: no README row for: " + spanish);
    ++failures;
  } else if (rows.get(row) !== english) {
    console.error("FAIL: " + spanish + ": the page says '" + english +
                  "', the README '" + rows.get(row) + "'");
    ++failures;
  }
}
console.log(meanings.length + " meanings checked against " + rows.size +
            " README rows");
process.exitCode = failures === 0 ? 0 : 1;
