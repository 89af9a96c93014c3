// Reads an ADIF file with an ADIF library of its own and prints its header text, then each
// record as its fields in the order read, "name=value" TAB-separated. Windows-1251 is a
// one-byte code page, so the decoded text has one character per byte, as the lengths count.
const fs = require('fs');
const { AdifParser } = require('adif-parser-ts');

const text = new TextDecoder('windows-1251').decode(fs.readFileSync(process.argv[2]));
const adif = AdifParser.parseAdi(text);
console.log(adif.header.text);
for (const record of adif.records ?? [])
  console.log(Object.entries(record).map(([name, value]) => `${name}=${value}`).join('\t'));
