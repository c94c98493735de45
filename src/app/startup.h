#pragma once

class frmday;

void Form_Load(frmday& f);
void cmdexit_Click(frmday& f);
