// Reads an ADIF file with an ADIF library of its own and prints its header text, its header
// fields if it has any, then each record, fields as "name=value" TAB-separated in the order
// read. The file is decoded as Windows-1251 unless the second argument names another encoding;
// in Windows-1251 and in UTF-8 (outside the astral planes) the decoded text has one character
// per character of the file, as the lengths count.
const fs = require('fs');
const { AdifParser } = require('adif-parser-ts');

const line = (fields) => Object.entries(fields).map(([name, value]) => `${name}=${value}`).join('\t');
const encoding = process.argv[3] ?? 'windows-1251';
const text = new TextDecoder(encoding).decode(fs.readFileSync(process.argv[2]));
const adif = AdifParser.parseAdi(text);
const { text: headerText, ...headerFields } = adif.header ?? {};
console.log(headerText);
if (Object.keys(headerFields).length > 0)
  console.log(line(headerFields));
for (const record of adif.records ?? [])
  console.log(line(record));
